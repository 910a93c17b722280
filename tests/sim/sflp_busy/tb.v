`timescale 1ns/1ns
// ctrl.sflp against a model of its stages with random requests: each
// output is what the stages run (stage.task in an SFL+ source) in that
// cycle.  pulse.sfl: the same form in an SFL source is the start select.
module tb;
   reg m_clock = 0, p_reset = 0;
   reg [3:0] n = 0;
   reg init_go = 0, read_go = 0, write_go = 0, refresh_go = 0, rd_go = 0, wr_go = 0;
   reg a_go = 0, b_go = 0, c_go = 0, quick_go = 0, go = 0;
   wire ack, idle, any_mem, rbusy, wbusy, qbusy, hand, started;
   wire [1:0] code;
   wire [2:0] sel3;
   `include "sim_check.vh"

   ctrl dut(.m_clock(m_clock), .p_reset(p_reset), .n(n), .init_go(init_go), .read_go(read_go),
            .write_go(write_go), .refresh_go(refresh_go), .rd_go(rd_go), .wr_go(wr_go),
            .a_go(a_go), .b_go(b_go), .c_go(c_go), .quick_go(quick_go),
            .ack(ack), .idle(idle), .code(code), .sel3(sel3), .any_mem(any_mem),
            .rbusy(rbusy), .wbusy(wbusy), .qbusy(qbusy), .hand(hand));
   pulse p(.m_clock(m_clock), .p_reset(p_reset), .n(n), .go(go), .started(started));

   // The model: stages 0 init, 1 read_stg, 2 write_stg, 3 refresh, 4 mem,
   // 5 three, 6 quick, 7 pulse's s; whether each runs, its count, and
   // which tasks started mem and three.
   localparam STAGES = 8;
   reg run[0:STAGES-1];
   reg [3:0] cnt[0:STAGES-1];
   reg [1:0] mem_task = 0;
   reg [2:0] three_task = 0;
   reg start[0:STAGES-1];
   reg rd, wr, relay;
   // how often the cases that need the task register came up
   integer k, relays = 0, switches = 0, both = 0;

   // Requests: a stage is started only while idle or in its last cycle
   // (refresh and quick are guarded by the design itself).
   function free(input integer k);
      free = !run[k] || cnt[k] == 0;
   endfunction

   function rnd;
      input dummy;
      rnd = ($random & 3) == 0;
   endfunction

   initial begin
      for (k = 0; k < STAGES; k = k + 1) begin run[k] = 0; cnt[k] = 0; end
      #1 check("ack", ack, 1); check("idle", idle, 1); check("code", code, 0); check("sel3", sel3, 0);
      p_reset = 1;
      repeat (2000) begin
         cycles = cycles + 1;
         n = $random & 7;
         init_go = free(0) && rnd(0); read_go = free(1) && rnd(0); write_go = free(2) && rnd(0);
         refresh_go = rnd(0); quick_go = rnd(0);
         rd_go = free(4) && rnd(0); wr_go = free(4) && rnd(0);
         a_go = free(5) && rnd(0); b_go = free(5) && rnd(0); c_go = free(5) && rnd(0);
         go = free(7) && rnd(0);
         rd = run[4] && mem_task[0];
         wr = run[4] && mem_task[1];
         #1 check("ack", ack, !(run[0] || run[1] || run[2]));
         check("idle", idle, !run[3]);
         check("code", code, rd ? 1 : wr ? 2 : 0);
         check("sel3", sel3, run[5] ? three_task : 0);
         check("any_mem", any_mem, (rd || wr) && !run[3]);
         check("rbusy", rbusy, rd);
         check("wbusy", wbusy, wr && cnt[4] != 0);
         check("qbusy", qbusy, run[6]);
         relay = run[5] && three_task[0] && cnt[5] == 0;
         check("hand", hand, relay);
         check("started", started, go);
         relays = relays + relay;
         switches = switches + (run[4] && cnt[4] == 0 && mem_task != {wr_go, rd_go} && (rd_go || wr_go));
         both = both + (rd_go && wr_go);
         start[0] = init_go; start[1] = read_go; start[2] = write_go;
         start[3] = refresh_go && !run[3]; start[4] = rd_go || wr_go;
         start[5] = a_go || b_go || c_go || relay; start[6] = quick_go && !run[6]; start[7] = go;
         if (start[4]) mem_task = {wr_go, rd_go};
         if (start[5]) three_task = {c_go, b_go || relay, a_go};
         for (k = 0; k < STAGES; k = k + 1)
            if (start[k]) begin run[k] = 1; cnt[k] = n; end
            else if (run[k] && cnt[k] == 0) run[k] = 0;
            else if (run[k]) cnt[k] = cnt[k] - 1;
         rise;
         fall;
      end
      $display("%0d relays, %0d task switches, %0d starts of both tasks", relays, switches, both);
      if (relays < 10 || switches < 10 || both < 10) $display("FAIL: too few of these");
      pass;
   end
endmodule
