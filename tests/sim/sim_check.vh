// Helpers for the testbenches of tests/sim, included inside module tb.
// A testbench owns m_clock (starting low) and advances it with rise() and
// fall(); inputs change only while the clock is low, away from both edges.
// check() stops the run at the first mismatch, pass() ends it.

integer cycles = 0;

task check(input [8*12:1] name, input [31:0] got, input [31:0] want);
  if (got !== want) begin
    $display("FAIL cycle %0d: %0s is %h, expected %h", cycles, name, got, want);
    $finish;
  end
endtask

task rise;
  begin #4 m_clock = 1; #1; end
endtask

task fall;
  begin #4 m_clock = 0; #1; end
endtask

task pass;
  begin
    $display("%0d cycles checked", cycles);
    $display("PASS");
    $finish;
  end
endtask
