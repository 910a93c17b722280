// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define R a
`define R c[3:0]

module m(m_clock, p_reset, a, c, u);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] c;
   output [7:0] u;

   assign u = `R;
endmodule
