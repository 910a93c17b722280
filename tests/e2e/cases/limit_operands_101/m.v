// This file was translated at Sun Dec  6 19:20:44 2026
//  via sflc program written by kurotan

module ok(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
