// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define SW 4
`define W 8

module top(m_clock, p_reset, a, b, c, o, p);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input c;
   output [7:0] o;
   output [3:0] p;
   wire [3:0] _s_d;
   wire [3:0] _s_q;
   sub s(.m_clock(m_clock), .p_reset(p_reset), .d(_s_d), .q(_s_q));

   assign o = (((c))?a:8'b0)|
   (((~(c)))?b:8'b0);

   assign p = _s_q;

   assign _s_d = a[3:0];
endmodule
`define INV (~d)

module sub(m_clock, p_reset, d, q);
   input m_clock;
   input p_reset;
   input [3:0] d;
   output [3:0] q;

   assign q = `INV;
endmodule
