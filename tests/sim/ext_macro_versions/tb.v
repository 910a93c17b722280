`timescale 1ns/1ns
// Each output adds the value its macros had where it stands.
module tb;
   reg m_clock = 0, p_reset = 1;
   reg [3:0] a = 0;
   wire [3:0] w, x, y, z, v;
   `include "sim_check.vh"

   versions dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .w(w), .x(x), .y(y), .z(z));
   after_versions next(.m_clock(m_clock), .p_reset(p_reset), .a(a), .v(v));

   initial begin
      repeat (16) begin
         cycles = cycles + 1;
         #1 check("w", w, (a + 2) & 15); check("x", x, (a + 5) & 15); check("y", y, (a + 8) & 15);
         check("z", z, (a + 9) & 15); check("v", v, (a + 9) & 15);
         rise; a = a + 1; fall;
      end
      pass;
   end
endmodule
