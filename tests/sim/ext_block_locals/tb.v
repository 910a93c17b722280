`timescale 1ns/1ns
// Random operands and modes; the model keeps acc, the else branch's own
// register and the idle state's counter.
module tb;
   reg m_clock = 0, p_reset = 0;
   reg [7:0] a, b;
   reg [1:0] mode;
   reg run = 0, count = 0;
   wire [7:0] r;
   wire [15:0] s;
   wire [3:0] n;
   reg [7:0] acc, t3, want_acc;
   reg [15:0] prod;
   reg [3:0] seen, sum4;
   reg busy, on;
   `include "sim_check.vh"

   block_locals dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .mode(mode), .run(run),
                    .count(count), .r(r), .s(s), .n(n));

   initial begin
      a = 0; b = 0; mode = 0;
      #2 p_reset = 1;
      acc = 0; t3 = 0; seen = 0; busy = 0; on = 0;
      for (cycles = 0; cycles < 2000; cycles = cycles + 1) begin
         a = $random; b = $random; mode = $random; run = $random; count = $random;
         #1 prod = a * b;
         check("s", s, run && mode == 2 ? prod : 16'd0);
         check("n", n, on ? (busy ? 4'hF : seen) : 4'h0);
         want_acc = acc;
         if (run)
            case (mode)
               0: begin sum4 = a[3:0] + b[3:0]; want_acc = {4'h0, sum4}; end
               1: want_acc = a + b;
               2: want_acc = prod[15:8];
               3: begin want_acc = t3; t3 = t3 + a; end
            endcase
         acc = want_acc;
         if (on && !busy) seen = seen + 1;
         if (on) begin
            if (busy) on = 0;
            busy = !busy;
         end
         if (count) on = 1;
         rise;
         check("r", r, acc);
         fall;
      end
      pass;
   end
endmodule
