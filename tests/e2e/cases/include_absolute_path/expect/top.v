// This file was translated at Mon Dec  7 12:47:57 2026
//  via sflc program written by kurotan

module lib(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = (~a);
endmodule

module top(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
