`timescale 1ns/1ns
// p_reset is active high here (--posres), asynchronous on both clock edges.
module tb;
   reg m_clock = 0, p_reset = 1, ld = 0;
   reg [2:0] d = 0;
   wire [2:0] q, r, f;
   reg [2:0] w, s, t;   // model
   `include "sim_check.vh"

   posres dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .ld(ld), .q(q), .r(r), .f(f));

   task compare;
      begin check("q", q, w); check("r", r, s); check("f", f, t); end
   endtask

   initial begin
      #1 w = 0; s = 3'b111; t = 3'b111;
      compare;
      repeat (300) begin
         cycles = cycles + 1;
         d = $random; ld = $random;
         p_reset = ($random & 7) == 0;
         #1 if (p_reset) begin w = 0; s = 3'b111; t = 3'b111; end
         compare;
         rise;
         if (!p_reset && ld) begin w = d; s = ~d; end
         compare;
         fall;
         if (!p_reset) t = t ^ d;
         compare;
      end
      pass;
   end
endmodule
