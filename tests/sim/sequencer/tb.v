`timescale 1ns/1ns
// examples/sequencer.sfl, cycle by cycle: start loads din into stage work,
// which goes inc (+1), dbl (*2), pass (relay to show); show presents the
// value on dout, raises ready in its second state and finishes.
module tb;
   reg m_clock = 0, p_reset = 0, start = 0;
   reg [3:0] din = 0;
   wire [3:0] dout;
   wire ready;
   `include "sim_check.vh"

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
      pass;
   end
endmodule
