`timescale 1ns/1ns
// Purely combinational: every value of a, b, c, s and e.
module tb;
   reg m_clock = 0, p_reset = 1;
   reg [3:0] a, b, c;
   reg [1:0] s;
   reg e;
   wire r1, r2, r3, r4, r5, r6, r7, r8, r9, r10, r11, r12, r13, r14, g1, g2, g3;
   wire [1:0] g4;
   reg [3:0] sum;
   reg [1:0] pair;
   `include "sim_check.vh"

   selects dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .c(c), .s(s), .e(e),
                      .r1(r1), .r2(r2), .r3(r3), .r4(r4), .r5(r5), .r6(r6), .r7(r7), .r8(r8),
                      .r9(r9), .r10(r10), .r11(r11), .r12(r12), .r13(r13), .r14(r14),
                      .g1(g1), .g2(g2), .g3(g3), .g4(g4));

   initial begin
      for (cycles = 0; cycles < 32768; cycles = cycles + 1) begin
         {e, s, c, b, a} = cycles;
         #1 check("r1", r1, e < b[s]);
         check("r2", r2, e <= b[s]);
         check("r3", r3, e < b[s]);
         check("r4", r4, a[s] < b[s + 2'd1]);
         check("r5", r5, (a[1:0] <= b[3:2]) & (c[3:2] > a[1:0]));
         sum = a + b;
         check("r6", r6, sum < c);
         sum = a + c;
         check("r7", r7, (sum <= b) | (c > a));
         check("r12", r12, sum < b);
         sum = b + c;
         check("r8", r8, sum[s] < e);
         check("r9", r9, e < b[s]);
         check("r10", r10, a <= b);
         check("r11", r11, (e <= b[s]) ? (a < c) : a[s]);
         check("r13", r13, e <= a[s]);
         check("r14", r14, (a < b) & (c > a));
         check("g1", g1, a[s] ^ b[s]);
         sum = a + c;
         check("g2", g2, (sum[s] ^ e) | !e);
         sum = b - c;
         check("g3", g3, sum[s + 2'd2] < (e ^ a[0]));
         pair = {a[s], e};
         check("g4", g4, {pair[s[0]], 1'b0});
      end
      pass;
   end
endmodule
