// This file was translated at Mon Dec  7 12:51:37 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
