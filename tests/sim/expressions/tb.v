`timescale 1ns/1ns
// Purely combinational: every pair of 4-bit operands is tried once.
module tb;
   reg m_clock = 0, p_reset = 1;
   reg [3:0] a, b;
   wire [7:0] cat, ext, exs, prod;
   wire [3:0] swap, mix, dif, inv;
   wire [2:0] red, cmp;
   wire [5:0] sh;
   wire [9:0] k;
   reg [3:0] d4;
   reg [5:0] d6;
   `include "sim_check.vh"

   expressions dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .cat(cat), .ext(ext),
                   .exs(exs), .swap(swap), .red(red), .mix(mix), .sh(sh), .cmp(cmp), .k(k),
                   .prod(prod), .dif(dif), .inv(inv));

   initial begin
      for (cycles = 0; cycles < 256; cycles = cycles + 1) begin
         {a, b} = cycles;
         #1 check("cat", cat, {a, b});
         check("ext", ext, {{4{a[3]}}, a});
         check("exs", exs, {{5{b[2]}}, b[2:1], 1'b0});
         check("swap", swap, {b[1:0], a[1:0]});
         check("red", red, {|a, &b, ^a});
         check("mix", mix, (a ^ b) & ~b);
         d6 = {a, 2'b00};
         check("sh", sh, d6 >> 1);
         check("cmp", cmp, {a == b, a < b, a >= b});
         check("k", k, {2'b01, 8'h1f} ^ {a, 6'o37});
         check("prod", prod, a * b);
         d4 = a - b - 1;
         check("dif", dif, d4);
         d4 = ~(a | b) + 3;
         check("inv", inv, d4);
      end
      pass;
   end
endmodule
