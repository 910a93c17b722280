`timescale 1ns/1ns
// Runs a program on the processor of cpu.sfl: three turns of a counted
// loop (add, shift right, decrement, branch back), then a shift by a
// register, all ones, 4-bit sums sign-extended, a forward branch and halt.
// Every form of width extension meets a negative and a positive value.
// Checks the instruction count, the registers on the way and at the end,
// and that the halted processor stays.
module tb;
   reg m_clock = 0, p_reset = 0;
   reg [11:0] inst;
   wire [7:0] pc;
   wire halted;
   `include "sim_check.vh"

   cpu dut(.m_clock(m_clock), .p_reset(p_reset), .inst(inst), .pc(pc), .halted(halted));

   always @(*)
      case (pc)
         0: inst = 12'h101;   // LI r0, 1
         1: inst = 12'h143;   // LI r1, 3
         2: inst = 12'h18D;   // LI r2, -3
         3: inst = 12'h3CE;   // ADDI2 r3, -2  (r3 = -4)
         4: inst = 12'h280;   // loop: ADD r2, r0
         5: inst = 12'hAC0;   // SHRI r3
         6: inst = 12'h840;   // SUB r1, r0
         7: inst = 12'h67D;   // BNZ r1, -3
         8: inst = 12'h4C0;   // SHL r3, r0
         9: inst = 12'h540;   // SETM r1
         10: inst = 12'h930;  // ADD4S r0, r3
         11: inst = 12'h187;  // LI r2, 7
         12: inst = 12'h9A0;  // ADD4S r2, r2
         13: inst = 12'h3C3;  // ADDI2 r3, 3  (r3 = 6)
         14: inst = 12'h9C0;  // ADD4S r3, r0
         15: inst = 12'hB80;  // ONE r2
         16: inst = 12'h682;  // BNZ r2, 2
         17: inst = 12'h180;  // LI r2, 0  (skipped)
         18: inst = 12'h700;  // HALT
         default: inst = 12'h700;
      endcase

   initial begin
      #1 p_reset = 0;
      rise; fall;
      p_reset = 1;
      while (!halted && cycles < 100) begin
         if (cycles == 4) check("r3 addi2", dut.regfile.r3, 8'hFC);
         if (cycles == 1) check("r0 li", dut.regfile.r0, 8'h01);
         if (cycles == 3) check("r2 li", dut.regfile.r2, 8'hFD);
         if (cycles == 21) check("r2 add4s", dut.regfile.r2, 8'hFE);
         if (cycles == 21) check("r0 add4s", dut.regfile.r0, 8'hFF);
         if (cycles == 21) check("r3 shl", dut.regfile.r3, 8'h3E);
         if (cycles == 22) check("r3 addi2+", dut.regfile.r3, 8'h06);
         rise; fall;
         cycles = cycles + 1;
      end
      check("count", cycles, 26);
      check("pc", pc, 18);
      check("r0", dut.regfile.r0, 8'hFF);
      check("r1", dut.regfile.r1, 8'hFF);
      check("r2", dut.regfile.r2, 8'h01);
      check("r3", dut.regfile.r3, 8'h05);
      repeat (3) begin rise; fall; end
      check("pc halted", pc, 18);
      check("r0 halted", dut.regfile.r0, 8'hFF);
      pass;
   end
endmodule
