// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module ok(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
