// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, v, x, y, z, w);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input [1:0] v;
   output x;
   output [1:0] y;
   output [1:0] z;
   output w;

   assign x = (((a)))?b:1'b0;

   assign y = (((a)))?v:
   ((((b)))?2'b10:2'b0);

   assign z = (((a)))?v:
   ((((b)))?2'b01:
   (((1'b1))?2'b11:2'b0));

   assign w = c;
endmodule
