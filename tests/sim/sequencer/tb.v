`timescale 1ns/1ns
// examples/sequencer.sfl, cycle by cycle: start loads din into stage work,
// which goes inc (+1), dbl (*2), pass (relay to show); show presents the
// value on dout, raises ready in its second state and finishes.
module tb;
   reg m_clock = 0, p_reset = 0, start = 0;
   reg [3:0] din = 0;
   wire [3:0] dout;
   wire ready;
   // pipeline.sfl and fast_task.sfl run with random inputs after the
   // sequencer's script, each against a model
   reg in_v = 0, go = 0, c = 0;
   reg [3:0] d = 0, x = 0, y = 0;
   wire out_v, w, busy;
   wire [3:0] q, o, n, k;
   wire [7:0] e;
   reg v1 = 0, v2 = 0, on = 0, st = 0, act;
   reg [3:0] r1 = 0, r2 = 0, a = 0, b = 0, cc = 0, mo;
   `include "sim_check.vh"

   pipeline pl(.m_clock(m_clock), .p_reset(p_reset), .in_v(in_v), .d(d), .out_v(out_v), .q(q));
   fast_task ft(.m_clock(m_clock), .p_reset(p_reset), .go(go), .c(c), .x(x), .y(y),
                .o(o), .w(w), .n(n), .e(e), .busy(busy), .k(k));

   sequencer dut(.m_clock(m_clock), .p_reset(p_reset), .din(din), .start(start),
                 .dout(dout), .ready(ready));

   localparam INC = 0, DBL = 1, PASS = 2, PRESENT = 0, HOLD = 1;

   // One clock cycle: apply the inputs, check the outputs of the cycle,
   // then the registers right after the rising edge that ends it.
   task cycle(input st, input [3:0] d, input [3:0] w_dout, input w_ready,
              input [1:0] w_work, input w_work_on, input w_show, input w_show_on,
              input [3:0] w_val, input [3:0] w_shown);
      begin
         cycles = cycles + 1;
         start = st; din = d;
         #1 check("dout", dout, w_dout); check("ready", ready, w_ready);
         rise;
         check("_work_state", dut._work_state, w_work);
         check("_work_on_reg", dut._work_on_reg, w_work_on);
         check("_show_state", dut._show_state, w_show);
         check("_show_on_reg", dut._show_on_reg, w_show_on);
         check("val", dut.val, w_val);
         check("shown", dut.shown, w_shown);
         fall;
      end
   endtask

   initial begin
      #1 check("_work_state", dut._work_state, INC);
      check("_show_state", dut._show_state, PRESENT);
      check("_work_on_reg", dut._work_on_reg, 0);
      check("_show_on_reg", dut._show_on_reg, 0);
      check("dout", dout, 0); check("ready", ready, 0);
      p_reset = 1;
      //     start din   dout rdy  work  on  show     on  val    shown
      cycle(1, 4'd3,  4'd0, 0,   INC,  1,  PRESENT, 0,  4'd3,  4'd0);
      cycle(0, 4'ha,  4'd0, 0,   DBL,  1,  PRESENT, 0,  4'd4,  4'd0);
      cycle(0, 4'ha,  4'd0, 0,   PASS, 1,  PRESENT, 0,  4'd8,  4'd0);
      cycle(0, 4'ha,  4'd0, 0,   INC,  0,  PRESENT, 1,  4'd8,  4'd8);
      cycle(0, 4'ha,  4'd8, 0,   INC,  0,  HOLD,    1,  4'd8,  4'd8);
      cycle(0, 4'ha,  4'd0, 1,   INC,  0,  PRESENT, 0,  4'd8,  4'd8);
      cycle(0, 4'ha,  4'd0, 0,   INC,  0,  PRESENT, 0,  4'd8,  4'd8);
      // a second run from the first states
      cycle(1, 4'd5,  4'd0, 0,   INC,  1,  PRESENT, 0,  4'd5,  4'd8);
      cycle(0, 4'd0,  4'd0, 0,   DBL,  1,  PRESENT, 0,  4'd6,  4'd8);
      cycle(0, 4'd0,  4'd0, 0,   PASS, 1,  PRESENT, 0,  4'd12, 4'd8);
      cycle(0, 4'd0,  4'd0, 0,   INC,  0,  PRESENT, 1,  4'd12, 4'd12);
      cycle(0, 4'd0,  4'd12, 0,  INC,  0,  HOLD,    1,  4'd12, 4'd12);
      cycle(0, 4'd0,  4'd0, 1,   INC,  0,  PRESENT, 0,  4'd12, 4'd12);
      cycle(0, 4'd0,  4'd0, 0,   INC,  0,  PRESENT, 0,  4'd12, 4'd12);
      repeat (400) begin
         cycles = cycles + 1;
         in_v = $random; d = $random;
         go = ($random & 3) == 0; c = $random; x = $random; y = $random;
         act = on | go;                     // a fast task runs at once, with the old a and b
         mo = !act ? 0 : st == 0 ? (c ? a : b) : a + b;
         #1 check("out_v", out_v, v2); check("q", q, v2 ? r2 : 4'h0);
         check("o", o, mo); check("busy", busy, act); check("n", n, x ^ 4'hf); check("e", e, {8{c}});
         check("k", k, cc); check("w", w, act && st == 0 && !c && cc == 15);
         rise;
         if (v1) r2 = r1 + 3;               // a stage started in its finishing cycle goes on
         if (in_v) r1 = d;
         v2 = v1;
         v1 = in_v;
         if (act && st == 0 && !c) cc = cc + 1;
         on = go | (on & !(act && st == 1));
         if (act) st = st == 0 ? c : 0;
         if (go) begin a = x; b = y; end
         fall;
      end
      pass;
   end
endmodule
