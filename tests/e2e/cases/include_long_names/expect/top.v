// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define L (a|b)

module big(m_clock, p_reset, a, b, y);
   input m_clock;
   input p_reset;
   input a;
   input b;
   output y;

   assign y = `L;
endmodule
