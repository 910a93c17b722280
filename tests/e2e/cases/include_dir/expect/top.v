// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module first(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
`define INV (~a)

module mid(m_clock, p_reset, p, q);
   input m_clock;
   input p_reset;
   input p;
   output q;

   assign q = p;
endmodule

module last(m_clock, p_reset, a, y, z);
   input m_clock;
   input p_reset;
   input [3:0] a;
   output [3:0] y;
   output [3:0] z;
   wire [3:0] _u1_d;
   wire [3:0] _u1_q;
   sub4 u1(.m_clock(m_clock), .p_reset(p_reset), .d(_u1_d), .q(_u1_q));

   assign y = _u1_q;

   assign z = `INV;

   assign _u1_d = a;
endmodule
