`timescale 1ns/1ns
// Purely combinational: every 8-bit value with every bit index.
module tb;
   reg m_clock = 0, p_reset = 1;
   reg [7:0] x;
   reg [2:0] k;
   wire [3:0] count;
   wire [7:0] lowest, ascii;
   wire picked;
   wire [2:0] top;
   integer want, i;
   `include "sim_check.vh"

   leading_zeros dut(.m_clock(m_clock), .p_reset(p_reset), .x(x), .k(k), .count(count),
                     .lowest(lowest), .picked(picked), .top(top), .ascii(ascii));

   initial begin
      for (cycles = 0; cycles < 2048; cycles = cycles + 1) begin
         {k, x} = cycles;
         want = 8;
         for (i = 0; i < 8; i = i + 1)
            if (x[i]) want = 7 - i;
         #1 check("count", count, want);
         check("lowest", lowest, x & (~x + 8'd1));
         check("picked", picked, x[k]);
         if (x != 0) check("top", top, 7 - want);
         check("ascii", ascii, 8'h30 + want);
      end
      pass;
   end
endmodule
