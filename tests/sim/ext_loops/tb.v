`timescale 1ns/1ns
// The mixer against a model of its eight channel volumes, and the
// priority encoder against a search for the lowest request.
module tb;
   reg m_clock = 0, p_reset = 0, load = 0;
   reg [7:0] level = 0, which = 0, req = 0;
   wire [10:0] mix;
   wire [2:0] code;
   wire none;
   reg [7:0] vol [0:7];   // model
   reg [10:0] sum;
   reg [2:0] low;
   integer k;
   `include "sim_check.vh"

   mixer dut(.m_clock(m_clock), .p_reset(p_reset), .level(level), .which(which), .load(load), .mix(mix));
   priority enc(.m_clock(m_clock), .p_reset(p_reset), .req(req), .code(code), .none(none));

   task compare;
      begin
         sum = 0;
         for (k = 0; k < 8; k = k + 1) sum = sum + vol[k];
         check("mix", mix, sum);
         low = 0;
         for (k = 7; k >= 0; k = k - 1) if (req[k]) low = k;
         check("none", none, req == 0);
         check("code", code, low);
      end
   endtask

   initial begin
      for (k = 0; k < 8; k = k + 1) vol[k] = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         {level, which} = $random; load = $random;
         req = ($random & 1) ? 0 : $random;
         #1 compare;
         rise;
         if (load) for (k = 0; k < 8; k = k + 1) if (which[k]) vol[k] = level + k;
         compare;
         fall;
      end
      pass;
   end
endmodule
