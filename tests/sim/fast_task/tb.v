`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, go = 0, c = 0;
   reg [3:0] x = 0, y = 0;
   wire [3:0] o, n, k;
   wire [7:0] e;
   wire w, busy;
   reg on, st, act;            // model: running register, state (0 s1, 1 s2), stage active
   reg [3:0] a, b, cc, mo, nx;
   `include "sim_check.vh"

   fast_task dut(.m_clock(m_clock), .p_reset(p_reset), .go(go), .c(c), .x(x), .y(y),
                 .o(o), .w(w), .n(n), .e(e), .busy(busy), .k(k));

   initial begin
      {on, st, a, b, cc} = 0;
      #1 p_reset = 1;
      repeat (400) begin
         cycles = cycles + 1;
         go = ($random & 3) == 0; c = $random; x = $random; y = $random;
         act = on | go;                     // a fast task runs at once, with the old a and b
         mo = !act ? 0 : st == 0 ? (c ? a : b) : a + b;
         nx = ~x;
         #1 check("o", o, mo); check("busy", busy, act); check("n", n, nx); check("e", e, {8{c}});
         check("k", k, cc); check("w", w, act && st == 0 && !c && cc == 15);
         rise;
         if (act && st == 0 && !c) cc = cc + 1;
         on = go | (on & !(act && st == 1));
         if (act) st = st == 0 ? c : 0;
         if (go) begin a = x; b = y; end
         fall;
      end
      pass;
   end
endmodule
