// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define W (a&b)
`define K 8'h1F
`define M (a|b)
`define B (`W|c)
`define S c[3:0]
`define Q "hi"
`define E 
`define N 8
`define P ((a)|(b))
`define C ({a,b})
`define V (W2|aW|`W)

module m(m_clock, p_reset, a, b, c, x, y, z, v);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input [7:0] c;
   output [7:0] x;
   output [7:0] y;
   output [7:0] z;
   output [3:0] v;

   assign x = `W;

   assign y = (`B+`K);

   assign z = (`M&c);

   assign v = `S;
endmodule
