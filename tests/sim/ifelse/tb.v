`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, a = 0, b = 0, c = 0, d = 0, go = 0;
   reg [1:0] p = 0, q = 0;
   wire [1:0] x, k;
   wire s, t, g, h;
   reg [1:0] r;   // model
   `include "sim_check.vh"

   ifelse dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .c(c), .d(d), .p(p), .q(q),
              .go(go), .x(x), .s(s), .t(t), .g(g), .h(h), .k(k));

   initial begin
      r = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         {a, b, c, d, go, p, q} = $random;
         #1 check("x", x, a ? 1 : b ? 2 : 3);
         check("s", s, go && c && a);
         check("t", t, go && !c && b);    // only while go
         check("g", g, c && d && a);
         check("h", h, c && !d && b);     // the else belongs to the inner if
         check("k", k, r);
         rise;
         if (a) r = p;
         else if (b) r = c ? q : r + 1;
         check("k", k, r);
         fall;
      end
      pass;
   end
endmodule
