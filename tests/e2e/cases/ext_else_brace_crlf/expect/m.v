// This file was translated at Mon Dec  7 19:53:16 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, x);
   input m_clock;
   input p_reset;
   input a;
   input b;
   output [1:0] x;

   assign x = (((a))?2'b01:2'b0)|
   (((~(a))&(b))?2'b10:2'b0)|
   (((~(a))&(~(b)))?2'b11:2'b0);
endmodule
