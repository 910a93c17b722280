// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, e, g2, x, y, z, w, n);
   input m_clock;
   input p_reset;
   input [1:0] a;
   input b;
   input [7:0] e;
   input [1:0] g2;
   output x;
   output y;
   output z;
   output w;
   output [3:0] n;

   assign x = (((a))?b:1'b0);

   assign y = ((((a)))?b:1'b0);

   assign z = (((a))?b:1'b0);

   assign w = (((g2))?b:1'b0);

   assign n = e;
endmodule
