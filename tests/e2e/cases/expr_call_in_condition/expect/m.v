// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, y, z);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input b;
   output y;
   output z;
   wire [7:0] _u1_x;
   wire _u1_o;
   wire _u1_f;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .x(_u1_x), .o(_u1_o), .f(_u1_f));

   assign y = ((((_u1_o==1'b1)))?b:1'b0);

   assign z = ((((b&_u1_o)))?a[0]:1'b0);

   assign _u1_x = ((1'b1)?a:8'b0)|
   ((1'b1)?a:8'b0);

   assign _u1_f = ((1'b1)?1'b1:1'b0)|
   ((1'b1)?1'b1:1'b0);
endmodule
