`timescale 1ns/1ns
// Every digit, blanked or not, against the segment table.
module tb;
   reg m_clock = 0, p_reset = 0, blank = 0, dot = 0;
   reg [3:0] d = 0;
   wire [6:0] seg;
   wire dp, digit;
   reg [6:0] want;
   integer i;
   `include "sim_check.vh"

   seven_segment dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .blank(blank), .dot(dot),
                     .seg(seg), .dp(dp), .digit(digit));

   initial begin
      for (i = 0; i < 64; i = i + 1) begin
         cycles = cycles + 1;
         d = i; blank = i[4]; dot = i[5];
         case (d)
            4'h0: want = 7'b0111111;  4'h1: want = 7'b0000110;
            4'h2: want = 7'b1011011;  4'h3: want = 7'b1001111;
            4'h4: want = 7'b1100110;  4'h5: want = 7'b1101101;
            4'h6: want = 7'b1111101;  4'h7: want = 7'b0000111;
            4'h8: want = 7'b1111111;  4'h9: want = 7'b1101111;
            4'hA: want = 7'b1110111;  4'hB: want = 7'b1111100;
            4'hC: want = 7'b0111001;  4'hD: want = 7'b1011110;
            4'hE: want = 7'b0000000;  4'hF: want = 7'b1110001;
         endcase
         if (blank) want = 0;
         #1 check("seg", seg, want);
         check("dp", dp, dot);
         check("digit", digit, d < 10);
         rise; fall;
      end
      pass;
   end
endmodule
