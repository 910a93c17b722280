`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, add = 0, clr = 0;
   reg [3:0] a = 0, b = 0;
   wire put;
   wire [3:0] pv, pw, acc;
   reg [3:0] r, sum;   // model
   `include "sim_check.vh"

   instructions dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .add(add), .clr(clr),
                    .put(put), .pv(pv), .pw(pw), .acc(acc));

   initial begin
      r = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         {add, clr, a, b} = $random;
         sum = a + b;
         #1 check("put", put, add | clr);
         check("pv", pv, (add ? sum : 4'h0) | (clr ? b : 4'h0));
         check("pw", pw, add ? a ^ b : 4'h0);   // the call from clr passes no second argument
         check("acc", acc, r);
         rise;
         if (clr) r = 0;
         else if (add) r = r + a;
         check("acc", acc, r);
         fall;
      end
      pass;
   end
endmodule
