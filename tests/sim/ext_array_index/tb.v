`timescale 1ns/1ns
// Random writes, increments and reads by index against a model of the
// eight registers, the four signals and the stage's four registers (all
// ones after reset).  A write and an increment never meet in one cycle.
module tb;
   reg m_clock = 0, p_reset = 0, wr = 0, inc = 0, keep = 0, running = 0;
   reg [2:0] wa = 0, ra = 0, rb = 0, next_a, sum;
   reg [1:0] sa = 0;
   reg [7:0] d = 0;
   wire [7:0] qa, qb, qk;
   wire [3:0] qs;
   reg [7:0] r [0:7];
   reg [7:0] h [0:3];
   integer i;
   `include "sim_check.vh"

   array_index dut(.m_clock(m_clock), .p_reset(p_reset), .wa(wa), .ra(ra), .rb(rb), .sa(sa), .d(d),
                   .wr(wr), .inc(inc), .keep(keep), .qa(qa), .qb(qb), .qs(qs), .qk(qk));

   initial begin
      for (i = 0; i < 4; i = i + 1) h[i] = 8'hff;
      rise; fall; p_reset = 1;
      wr = 1;
      for (i = 0; i < 8; i = i + 1) begin   // every register written first
         wa = i; d = 8'h20 + i; r[i] = 8'h20 + i;
         rise; fall;
      end
      repeat (500) begin
         cycles = cycles + 1;
         {wa, ra, rb, sa, d} = $random;
         wr = $random; inc = !wr && $random; keep = $random;
         next_a = ra + 1; sum = ra + rb;   // indices wrap at three bits
         #1 check("qa", qa, r[ra]); check("qb", qb, (r[rb] + r[next_a]) & 8'hff);
         check("qs", qs, rb[1:0] == sa ? d[3:0] : 4'h0); check("qk", qk, h[ra[1:0]]);
         rise;
         if (wr) r[wa] = d;
         else if (inc) r[sum] = r[sum] + 1;
         if (running) h[wa[1:0]] = d;
         running = keep;
         fall;
      end
      pass;
   end
endmodule
