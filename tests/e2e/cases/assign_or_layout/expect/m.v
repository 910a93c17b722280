// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, v, x, bd, io, io2);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input [3:0] v;
   output x;
   inout [3:0] bd;
   wire [3:0] s;
   output io;
   output io2;
   wire _u1_d;
   wire _u1_done;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .d(_u1_d), .done(_u1_done));

   assign x = (((a))?b:1'b0)|
   (((b))?a:1'b0);

   assign bd = (((a))?v:4'bzzzz)|
   (((b))?4'b0101:4'bzzzz);

   assign s = (((a))?v:4'b0)|
   (((b))?4'h3:4'b0);

   assign io = 1'b0;

   assign io2 = (((a))?1'b1:1'b0);
endmodule
