// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define W (a+b)

module m(m_clock, p_reset, a, b, x, y);
   input m_clock;
   input p_reset;
   input [1:0] a;
   input [1:0] b;
   output [1:0] x;
   output [1:0] y;

   assign x = `W;

   assign y = (`W-a);
endmodule
