// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define W 8
`define N 3

module m(m_clock, p_reset, a, o, q);
   input m_clock;
   input p_reset;
   input [7:0] a;
   output [7:0] o;
   output [2:0] q;
   reg [2:0] r;
   wire [7:0] _u_d;
   wire [2:0] _u_q;
   sub u(.m_clock(m_clock), .p_reset(p_reset), .d(_u_d), .q(_u_q));

   assign o = a;

   assign q = r;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 3'b0;
      else r <= _u_q;
   end

   assign _u_d = a;
endmodule

module sub(m_clock, p_reset, d, q);
   input m_clock;
   input p_reset;
   input [7:0] d;
   output [2:0] q;

   assign q = d[2:0];
endmodule
