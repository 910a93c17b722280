`timescale 1ns/1ns
// Random bytes sent one after another, with random pauses; the line is
// compared bit by bit with the frame expected after each send.
module tb;
   reg m_clock = 0, p_reset = 0, send = 0;
   reg [7:0] d = 0;
   wire txd, busy;
   reg [9:0] frame;
   integer i, pause;
   `include "sim_check.vh"

   serial dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .send(send), .txd(txd), .busy(busy));

   initial begin
      #1 p_reset = 1;
      check("txd", txd, 1);
      repeat (40) begin
         pause = $random & 3;
         repeat (pause) begin
            cycles = cycles + 1;
            rise; fall;
            check("txd", txd, 1); check("busy", busy, 0);
         end
         d = $random; send = 1;
         frame = {1'b1, d, 1'b0};
         cycles = cycles + 1;
         rise; fall;                      // the task starts
         send = 0; d = $random;
         check("txd", txd, 1); check("busy", busy, 1);
         for (i = 0; i < 10; i = i + 1) begin
            cycles = cycles + 1;
            rise; fall;
            check("txd", txd, frame[i]);
            check("busy", busy, i < 9);
         end
      end
      pass;
   end
endmodule
