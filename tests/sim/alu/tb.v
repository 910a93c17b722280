`timescale 1ns/1ns
// The ALU on its own for random operands and every instruction, then the
// datapath running random instruction sequences against a model.
module tb;
   reg m_clock = 0, p_reset = 0;
   reg [7:0] a = 0, b = 0, d = 0;
   reg [5:0] op = 0;
   reg [5:0] dop = 0;
   wire [7:0] y, acc;
   wire carry, c;
   reg [8:0] want;
   reg [7:0] r;
   reg cf;
   integer k;
   `include "sim_check.vh"

   alu u(.m_clock(m_clock), .p_reset(p_reset), .add(op[0]), .sub(op[1]), .andb(op[2]),
         .orb(op[3]), .shl(op[4]), .pass(op[5]), .a(a), .b(b), .y(y), .carry(carry));
   datapath dp(.m_clock(m_clock), .p_reset(p_reset), .load(dop[0]), .add(dop[1]), .sub(dop[2]),
               .andb(dop[3]), .orb(dop[4]), .shl(dop[5]), .d(d), .acc(acc), .c(c));

   initial begin
      r = 0; cf = 0;
      #1 p_reset = 1;
      repeat (500) begin
         cycles = cycles + 1;
         a = $random; b = $random; d = $random;
         k = $random & 7;
         op = k < 6 ? 6'b1 << k : 0;
         k = $random & 7;
         dop = k < 6 ? 6'b1 << k : 0;
         case (op)
            6'd1: want = {1'b0, a} + {1'b0, b};
            6'd2: want = {1'b0, a} - {1'b0, b};
            6'd4: want = a & b;
            6'd8: want = a | b;
            6'd16: want = {a, 1'b0};
            6'd32: want = b;
            default: want = 0;
         endcase
         #1 check("y", y, want[7:0]);
         if (op == 1 || op == 2 || op == 16) check("carry", carry, want[8]);
         else check("carry", carry, 0);
         check("acc", acc, r);
         check("c", c, cf);
         rise;
         case (dop)
            6'd1: r = d;
            6'd2: {cf, r} = {1'b0, r} + {1'b0, d};
            6'd4: {cf, r} = {1'b0, r} - {1'b0, d};
            6'd8: r = r & d;
            6'd16: r = r | d;
            6'd32: {cf, r} = {r, 1'b0};
            default: ;
         endcase
         fall;
      end
      pass;
   end
endmodule
