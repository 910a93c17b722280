`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, in_v = 0;
   reg [3:0] d = 0;
   wire out_v;
   wire [3:0] q;
   reg v1, v2;            // model: running flags of s1 and s2
   reg [3:0] r1, r2;
   `include "sim_check.vh"

   pipeline dut(.m_clock(m_clock), .p_reset(p_reset), .in_v(in_v), .d(d), .out_v(out_v), .q(q));

   initial begin
      {v1, v2, r1, r2} = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         in_v = $random; d = $random;
         #1 check("out_v", out_v, v2); check("q", q, v2 ? r2 : 4'h0);
         rise;
         if (v1) r2 = r1 + 3;
         if (in_v) r1 = d;
         v2 = v1;
         v1 = in_v;
         fall;
      end
      pass;
   end
endmodule
