`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, start = 0, c = 0;
   reg [3:0] din = 0;
   wire busy, done;
   wire [1:0] ph;
   wire [3:0] acc, res;
   // model: running flags of both stages, state of work (0 s1, 1 s2, 2 s3), registers
   reg on_w, on_p, fin;
   reg [1:0] st;
   reg [3:0] a, v, rr;
   integer runs = 0;
   `include "sim_check.vh"

   stages dut(.m_clock(m_clock), .p_reset(p_reset), .start(start), .c(c), .din(din),
              .busy(busy), .ph(ph), .acc(acc), .done(done), .res(res));

   initial begin
      {on_w, on_p, st, a, v, rr} = 0;
      #1 p_reset = 1;
      repeat (400) begin
         cycles = cycles + 1;
         start = ($random & 7) == 0; c = $random; din = $random;
         #1 check("busy", busy, on_w); check("done", done, on_p);
         check("ph", ph, on_w && st == 1 ? 2'd2 : on_w && st == 2 ? 2'd3 : 2'd0);
         check("acc", acc, a); check("res", res, rr);
         rise;
         fin = on_w && st == 2;
         runs = runs + fin;
         if (fin) rr = a ^ v;
         if (on_w && st == 1) a = a + v;
         if (on_w) st = st == 0 ? (c ? 1 : 2) : 0;
         if (start) v = din;
         on_w = start | (on_w & !fin);
         on_p = fin;
         check("acc", acc, a); check("res", res, rr);
         fall;
      end
      check("runs > 20", runs > 20, 1);   // the random start really exercised the stages
      pass;
   end
endmodule
