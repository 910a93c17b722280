// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, d, go, x, y, z, w);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input d;
   input go;
   output x;
   output y;
   output z;
   output w;

   assign x = (((go)&(c))?a:1'b0)|
   (((c)&(d))?b:1'b0);

   assign y = (((go)&(~(c)))?b:1'b0)|
   (((c)&(~(d)))?a:1'b0);

   assign z = (((~(c)))?b:1'b0);

   assign w = a;
endmodule
