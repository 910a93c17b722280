`timescale 1ns/1ns
// Random inputs through every condition of the design, with a model of the
// outputs; any overlapping alternatives must OR their values.
module tb;
   reg m_clock = 0, p_reset = 0, go = 0;
   reg [3:0] a = 0, b = 0;
   reg [1:0] mode = 0;
   wire [3:0] y, z, qacc, qhold, qlast;
   wire flag, g, h;
   wire [1:0] x;
   wire [3:0] u, v;
   reg [3:0] acc, hold, last;   // model; last has no reset
   `include "sim_check.vh"

   conditions dut(.m_clock(m_clock), .p_reset(p_reset), .a(a), .b(b), .mode(mode),
                  .go(go), .y(y), .z(z), .flag(flag),
                  .qacc(qacc), .qhold(qhold), .qlast(qlast), .x(x), .g(g), .h(h), .u(u), .v(v));

   task compare;
      begin
         check("y", y, mode == 0 ? a : mode == 1 ? b : mode == 2 ? a : a & b);
         check("z", z, ((a[0] | a[1]) ? b : 4'b0) | (a[3:2] == 2'b11 ? a : 4'b0));
         check("flag", flag, go & (a == b));
         check("qacc", qacc, acc);
         check("qhold", qhold, hold);
         check("x", x, a[0] ? 1 : a[1] ? 2 : 3);
         check("g", g, go & mode[0] & a[3]);
         check("h", h, go & !mode[0] & b[3]);
         check("u", u, mode[1] ? a : go ? b : mode[0] ? 5 : 0);
         check("v", v, mode[1] ? b : !go & mode[0] ? a : 0);
         if (cycles > 1) check("qlast", qlast, last);
      end
   endtask

   initial begin
      #1 acc = 0; hold = 4'hf;
      compare;
      repeat (500) begin
         cycles = cycles + 1;
         a = $random; b = $random; mode = $random; go = $random;
         if (($random & 3) == 0) b = a;      // a == b often enough for flag
         p_reset = ($random & 15) != 0;
         #1 if (!p_reset) begin acc = 0; hold = 4'hf; end
         compare;                            // the reset acts at once
         rise;
         last = (go || mode == 3) ? acc : b;
         if (p_reset) begin
            if (go && mode[0]) hold = b;
            else if (!go && mode[1]) hold = a;
            acc = go ? acc + a : acc - b;
         end
         compare;
         fall;
      end
      pass;
   end
endmodule
