// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define IMM ir[3:0]
`define HALF ir[7:4]

module m(m_clock, p_reset, ir, u4, o1, o2, o3, o4, o5, o6, o7, o8, o9);
   input m_clock;
   input p_reset;
   input [7:0] ir;
   input [3:0] u4;
   output [7:0] o1;
   output [9:0] o2;
   output [7:0] o3;
   output [7:0] o4;
   output [7:0] o5;
   output [3:0] o6;
   output [7:0] o7;
   output [3:0] o8;
   output [7:0] o9;
   wire [3:0] _u_d;
   wire [3:0] _u_q;
   wire [3:0] _ext_0;
   wire [5:0] _ext_1;
   sub u(.m_clock(m_clock), .p_reset(p_reset), .d(_u_d), .q(_u_q));

   assign o1 = ({{4{_ext_0[3]}},_ext_0});

   assign o2 = ({{4{_ext_1[5]}},_ext_1});

   assign o3 = ({{4{ir[7]}},ir[7:4]});

   assign o4 = ({{4{_u_q[3]}},_u_q});

   assign o5 = 8'b11111000;

   assign o6 = `HALF;

   assign o7 = ir;

   assign o8 = `HALF;

   assign o9 = ({{4{u4[3]}},u4});

   assign _u_d = u4;

   assign _ext_0 = `IMM;

   assign _ext_1 = ({`IMM,2'b00});
endmodule

module sub(m_clock, p_reset, d, q);
   input m_clock;
   input p_reset;
   input [3:0] d;
   output [3:0] q;

   assign q = d;
endmodule
