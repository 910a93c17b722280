// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, v, go, x, y);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input [3:0] v;
   input go;
   output [3:0] x;
   output [3:0] y;

   assign x = (((go))?v:4'b0)|
   (((go)&(a)&((~(b)))&(c))?4'b0000:4'b0);

   assign y = (((go)&(a)&((b)))?v:4'b0);
endmodule
