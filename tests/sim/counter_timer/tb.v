`timescale 1ns/1ns
// Random instructions for the counter, and timer runs of random periods,
// against a model.
module tb;
   reg m_clock = 0, p_reset = 0;
   reg up = 0, down = 0, add = 0, sub = 0, clrbits = 0, setbits = 0, start = 0;
   reg [7:0] d = 0, period = 0;
   wire [7:0] q, remaining;
   wire [3:0] ticks;
   wire expired;
   reg [7:0] cnt, t;      // model
   reg [3:0] n;
   reg running;
   integer k;
   `include "sim_check.vh"

   counter c(.m_clock(m_clock), .p_reset(p_reset), .d(d), .up(up), .down(down), .add(add),
             .sub(sub), .clrbits(clrbits), .setbits(setbits), .q(q));
   timer tm(.m_clock(m_clock), .p_reset(p_reset), .period(period), .start(start),
            .expired(expired), .remaining(remaining), .ticks(ticks));

   initial begin
      cnt = 0; t = 0; n = 0; running = 0;
      #1 p_reset = 1;
      repeat (600) begin
         cycles = cycles + 1;
         k = $random & 7;            // one instruction at a time, or none
         {up, down, add, sub, clrbits, setbits} = 6'b0;
         case (k)
            1: up = 1; 2: down = 1; 3: add = 1; 4: sub = 1; 5: clrbits = 1; 6: setbits = 1;
            default: ;
         endcase
         d = $random;
         start = ($random & 15) == 0;
         period = $random & 15;
         #1 check("q", q, cnt);
         check("remaining", remaining, t);
         check("ticks", ticks, n);
         check("expired", expired, running && !start && t == 1);
         rise;
         case (k)
            1: cnt = cnt + 1; 2: cnt = cnt - 1; 3: cnt = cnt + d;
            4: cnt = cnt - d; 5: cnt = cnt & ~d; 6: cnt = cnt | d;
            default: ;
         endcase
         if (start) begin t = period; running = 1; end
         else if (running) begin
            if (t == 1) running = 0;
            t = t - 1;
            n = n + 1;
         end
         #1 check("q", q, cnt);
         check("remaining", remaining, t);
         fall;
      end
      pass;
   end
endmodule
