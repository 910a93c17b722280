`timescale 1ns/1ns
module tb;
   reg m_clock = 0, p_reset = 0, a = 0, b = 0, c = 0;
   reg [3:0] d = 0, e = 0;
   wire [3:0] y, z, u, v, acc;
   reg [3:0] my, mz, mu, mv, r;   // model
   `include "sim_check.vh"

   blocks dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .c(c), .d(d), .e(e),
              .y(y), .z(z), .u(u), .v(v), .acc(acc));

   initial begin
      r = 0;
      #1 p_reset = 1;
      repeat (300) begin
         cycles = cycles + 1;
         {a, b, c} = $random; d = $random; e = $random;
         my = a ? d : b ? e : 4'hf;
         mz = (a ? d : 0) | (b ? e : 0) | (!a && !b ? 4'h6 : 0);
         mv = (c ? d & e : 0) | (a && b ? 4'h1 : 0) | (a && !b && c ? 4'h2 : 0);
         mu = (!a && b ? d : 0) | (!(a && b) && !(a || c) && b ? e : 0);
         #1 check("y", y, my); check("z", z, mz); check("u", u, mu); check("v", v, mv);
         check("acc", acc, r);
         rise;
         if (a && b) r = d;
         else if (a || c) r = r + e;
         else if (b) r = r - 1;
         check("acc", acc, r);
         fall;
      end
      pass;
   end
endmodule
