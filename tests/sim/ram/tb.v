`timescale 1ns/1ns
// Random reads, writes and bumps (write and bump may come together: the
// write wins) against a model of the two memories.
module tb;
   reg m_clock = 0, p_reset = 0, read = 0, write = 0, bump = 0, flag = 0;
   reg [3:0] adrs = 0, nxt = 0;   // nxt: adrs + 1 at 4 bits, wrapping
   reg [7:0] din = 0;
   wire [7:0] dout, next;
   wire marked;
   reg [7:0] cells [0:15];
   reg marks [0:15];
   integer i;
   `include "sim_check.vh"

   ram dut(.m_clock(m_clock), .p_reset(p_reset), .adrs(adrs), .din(din), .read(read), .write(write),
           .bump(bump), .flag(flag), .dout(dout), .next(next), .marked(marked));

   initial begin
      #1 p_reset = 1;
      write = 1;
      for (i = 0; i < 16; i = i + 1) begin   // fill both memories first
         adrs = i; din = i * 7; cells[i] = i * 7; marks[i] = 0;
         rise; fall;
      end
      write = 0;
      repeat (600) begin
         cycles = cycles + 1;
         adrs = $random; din = $random;
         read = $random; write = $random; bump = $random; flag = ($random & 3) == 0;
         if (write) flag = 0;
         nxt = adrs + 4'd1;
         #1 if (read) begin
            check("dout", dout, cells[adrs]);
            check("next", next, cells[nxt]);
            check("marked", marked, marks[adrs]);
         end else begin
            check("dout", dout, 0); check("next", next, 0); check("marked", marked, 0);
         end
         rise;
         if (write) begin cells[adrs] = din; marks[adrs] = 0; end
         else if (bump) cells[nxt] = cells[nxt] + 1;
         if (flag) marks[adrs] = 1;
         fall;
      end
      pass;
   end
endmodule
