`timescale 1ns/1ns
// The register without reset starts at its initial value and keeps its
// value through a reset; the others take their initial values at reset.
module tb;
   reg m_clock = 0, p_reset = 1, en = 0;
   reg [7:0] d = 0;
   wire [11:0] qr;
   wire [6:0] qc;
   wire [18:0] qp;
   wire [7:0] qw;
   wire [31:0] qs;
   reg [11:0] r = 1;   // model
   reg [6:0] c;
   reg [18:0] p;
   reg [7:0] w;
   reg [31:0] s;
   `include "sim_check.vh"

   initial_values dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .en(en),
                      .qr(qr), .qc(qc), .qp(qp), .qw(qw), .qs(qs));

   task compare;
      begin
         check("qr", qr, r);
         if (cycles > 0) begin
            check("qc", qc, c); check("qp", qp, p); check("qw", qw, w); check("qs", qs, s);
         end
      end
   endtask

   initial begin
      #1 compare;   // the power-up value, before any clock or reset
      repeat (300) begin
         cycles = cycles + 1;
         d = $random; en = $random;
         p_reset = cycles == 1 || ($random & 15) != 0 ? cycles != 1 : 0;
         #1 if (!p_reset) begin c = 127; p = 19'h7ffff; w = 8'h12; s = "FPGA"; end
         compare;
         rise;
         if (p_reset && en) begin
            r = r + 1; c = c + 1; p = p - d; w = w ^ d; s = {s[23:0], d};
         end
         if (!p_reset && en) r = r + 1;
         compare;
         fall;
      end
      pass;
   end
endmodule
