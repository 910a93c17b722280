// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x, y);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   output [1:0] x;
   output [1:0] y;

   assign x = (((a))?2'b01:2'b0)|
   (((~(a))&(b))?2'b10:2'b0)|
   (((~(a))&(~(b)))?2'b11:2'b0);

   assign y = (((a))?2'b00:2'b0)|
   (((~(a))&(b))?2'b01:2'b0)|
   (((~(a))&(~(b))&(c))?2'b10:2'b0)|
   (((~(a))&(~(b))&(~(c)))?2'b11:2'b0);
endmodule
