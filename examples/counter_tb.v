`timescale 1ns/1ns
// Testbench for counter.sfl: translate it with `sflc -o counter.v counter.sfl`,
// then   iverilog -g2005 -o counter_sim counter_tb.v counter.v && vvp counter_sim
// It loads, counts and wraps the counter and compares q and carry with a
// model every clock cycle; it prints PASS, or the first mismatch and FAIL.
module counter_tb;
   reg m_clock = 0, p_reset = 0;      // p_reset is active low
   reg load = 0, count_up = 0;
   reg [7:0] value = 0;
   wire [7:0] q;
   wire carry;
   reg [7:0] model = 0;
   integer cycle;

   counter dut(.m_clock(m_clock), .p_reset(p_reset), .load(load), .value(value),
               .count_up(count_up), .q(q), .carry(carry));

   always #5 m_clock = ~m_clock;

   initial begin
      #12 p_reset = 1;
      for (cycle = 0; cycle < 600; cycle = cycle + 1) begin
         // change the inputs while the clock is low
         load = cycle % 150 == 0 || ($random & 63) == 0;
         value = cycle % 300 == 0 ? 8'hf0 : $random;
         count_up = ($random & 7) != 0;
         @(posedge m_clock);
         if (load) model = value;
         else if (count_up) model = model + 1;
         #1 if (q !== model || carry !== &model) begin
            $display("cycle %0d: q = %h carry = %b, expected %h and %b",
                     cycle, q, carry, model, &model);
            $display("FAIL");
            $finish;
         end
         @(negedge m_clock);
      end
      $display("%0d cycles checked", cycle);
      $display("PASS");
      $finish;
   end
endmodule
