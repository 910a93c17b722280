`timescale 1ns/1ns
// Random indexed writes and writes of word 3 by name (an indexed write in
// the same cycle wins) against a model of the four words.
module tb;
   reg m_clock = 0, p_reset = 1, wr = 0, set3 = 0;
   reg [1:0] a = 0;
   reg [7:0] d = 0;
   wire [7:0] q0, q1, q2, q3;
   reg [7:0] r [0:3];
   integer i;
   `include "sim_check.vh"

   regfile4 dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .d(d), .wr(wr), .set3(set3),
                .q0(q0), .q1(q1), .q2(q2), .q3(q3));

   initial begin
      wr = 1;
      for (i = 0; i < 4; i = i + 1) begin   // every word written first
         a = i; d = 8'h10 + i; r[i] = 8'h10 + i;
         rise; fall;
      end
      wr = 0;
      repeat (400) begin
         cycles = cycles + 1;
         a = $random; d = $random; wr = $random; set3 = $random;
         #1 check("q0", q0, r[0]); check("q1", q1, r[1]); check("q2", q2, r[2]); check("q3", q3, r[3]);
         rise;
         if (wr) r[a] = d;
         else if (set3) r[3] = ~d;
         fall;
      end
      pass;
   end
endmodule
