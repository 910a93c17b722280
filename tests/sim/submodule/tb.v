`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0;
   reg [7:0] x = 0, w = 0;
   reg [1:0] op = 0;
   wire [7:0] r, acc;
   wire busy;
   reg [7:0] s, mr;   // model
   `include "sim_check.vh"

   top dut(.m_clock(m_clock), .p_reset(p_reset), .x(x), .w(w), .op(op),
           .r(r), .acc(acc), .busy(busy));

   initial begin
      s = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         {op, x, w} = $random;
         mr = op == 1 ? x + w : op == 2 ? x - w : 8'h0;
         #1 check("r", r, mr); check("acc", acc, s); check("busy", busy, op == 3 || op == 0);
         rise;
         if (op == 3) s = s + x;
         else if (op == 0) s = s - w;
         check("acc", acc, s);
         fall;
      end
      pass;
   end
endmodule
