`timescale 1ns/1ns
// Random data, enable and reset; p_reset is active low and asynchronous.
module tb;
   reg m_clock = 0, p_reset = 0, en = 0;
   reg [3:0] d = 0;
   wire [3:0] qa, qb, qc, qn, qm, qp;
   reg [3:0] a, b, c, n, m, p;   // model
   `include "sim_check.vh"

   registers dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .en(en),
                 .qa(qa), .qb(qb), .qc(qc), .qn(qn), .qm(qm), .qp(qp));

   task compare;   // a and m have no reset: compared once the clock has written them
      begin
         if (cycles > 1) begin check("qa", qa, a); check("qm", qm, m); end
         check("qb", qb, b); check("qc", qc, c); check("qn", qn, n); check("qp", qp, p);
      end
   endtask

   initial begin
      #1 b = 0; c = 4'hf; n = 0; p = 4'hf;
      compare;
      repeat (400) begin
         cycles = cycles + 1;
         d = $random; en = $random;
         p_reset = ($random & 15) != 0;
         #1 if (!p_reset) begin b = 0; c = 4'hf; n = 0; p = 4'hf; end
         compare;                      // the reset acts at once
         rise;
         a = d;
         if (p_reset && en) begin b = b + d; c = c ^ d; end
         if (p_reset && !en) p = p - d;
         compare;
         fall;
         if (p_reset) n = n + 1;
         m = ~d;
         compare;
      end
      pass;
   end
endmodule
