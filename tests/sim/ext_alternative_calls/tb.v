`timescale 1ns/1ns
// Calls in alternative conditions against a model of which probes are
// asked in each cycle, and switch labels of other widths.
module tb;
   reg m_clock = 0, p_reset = 0, go = 0;
   reg [3:0] a = 0, b = 0, c = 0;
   reg [1:0] s = 0;
   wire [1:0] ra, ry, rs;
   wire [2:0] k;
   wire rz, ri, rj;
   wire [7:0] n1, n2, n3, n4, n5, n6, n7;
   reg [7:0] m [1:7];   // model of the probes' counts
   reg [1:0] wa, wy, ws;
   reg late;            // the switch reaches its last alternative
   integer i;
   `include "sim_check.vh"

   calls dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .c(c), .s(s), .go(go),
             .ra(ra), .ry(ry), .rs(rs), .rz(rz), .ri(ri), .rj(rj),
             .n1(n1), .n2(n2), .n3(n3), .n4(n4), .n5(n5), .n6(n6), .n7(n7));
   labels lab(.a(s), .k(k));

   task compare;
      begin
         wa = !go ? 0 : a == b ? 1 : a == c ? 2 : 3;
         wy = !go ? 0 : {a == c, b == c};
         ws = !go ? 0 : s == 0 ? 1 : a == 5 ? 2 : s == 1 ? 3 : 0;
         late = go && s > 1 && a != 5;
         check("ra", ra, wa);
         check("ry", ry, wy);
         check("rs", rs, ws);
         check("rz", rz, late && (b == c || a == c));
         check("ri", ri, go && c == 3);
         check("rj", rj, go && c != 3);
         check("k", k, s == 1 ? 1 : s == 2 ? 2 : s == 0 ? 3 : 4);
         check("n1", n1, m[1]); check("n2", n2, m[2]); check("n3", n3, m[3]);
         check("n4", n4, m[4]); check("n5", n5, m[5]); check("n6", n6, m[6]);
         check("n7", n7, m[7]);
      end
   endtask

   initial begin
      for (i = 1; i <= 7; i = i + 1) m[i] = 0;
      #1 p_reset = 1;
      repeat (400) begin
         cycles = cycles + 1;
         {a, b, c, s} = $random;
         // Equal operands often enough for every alternative to hold.
         if ($random & 1) b = a;
         if ($random & 1) c = ($random & 1) ? a : 3;
         go = ($random & 3) != 0;
         #1 compare;
         rise;
         if (go) begin
            m[1] = m[1] + 1;
            m[2] = m[2] + (a != b);
            m[3] = m[3] + 1;
            m[4] = m[4] + (s != 0);
            m[5] = m[5] + late;
            m[6] = m[6] + late;
            m[7] = m[7] + 1;
         end
         compare;
         fall;
      end
      pass;
   end
endmodule
