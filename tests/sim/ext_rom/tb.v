`timescale 1ns/1ns
// Every word of the ROM read back against the listed contents; the
// register file starts with its contents and then adds at random.
module tb;
   reg m_clock = 0, p_reset = 1, sel = 0, add = 0;
   reg [3:0] adrs = 0;
   reg [7:0] din = 0;
   wire [7:0] dout, a0, a1;
   reg [7:0] want [0:15];
   reg [7:0] acc [0:1];
   integer i;
   `include "sim_check.vh"

   rom dut(.m_clock(m_clock), .p_reset(p_reset), .adrs(adrs), .sel(sel), .din(din), .add(add),
           .dout(dout), .a0(a0), .a1(a1));

   initial begin
      want[0] = 8'h12; want[1] = 8'hfe; want[2] = 200; want[3] = 22; want[4] = 8'hff;
      want[5] = 8'hfc; want[6] = 8'h2c; want[7] = 8'h41; want[8] = 8'h40;
      want[9] = 8'h41;
      for (i = 10; i < 16; i = i + 1) want[i] = 0;
      acc[0] = 8'h80; acc[1] = 8'hfe;
      for (i = 0; i < 16; i = i + 1) begin
         adrs = i;
         #1 check("dout", dout, want[i]);
      end
      repeat (200) begin
         cycles = cycles + 1;
         adrs = $random; sel = $random; din = $random; add = $random;
         #1 check("dout", dout, want[adrs]); check("a0", a0, acc[0]); check("a1", a1, acc[1]);
         rise;
         if (add) acc[sel] = acc[sel] + din;
         fall;
      end
      pass;
   end
endmodule
