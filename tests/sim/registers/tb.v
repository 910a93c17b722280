`timescale 1ns/1ns
// Random data, enable and reset; p_reset is active low and asynchronous.
module tb;
   reg m_clock = 0, p_reset = 0, en = 0;
   reg [3:0] d = 0;
   wire [3:0] qa, qb, qc, qn, qm, qp;
   reg [3:0] a, b, c, n, m, p;   // model
   // instructions.sfl and submodule.sfl (module top) on the same cycles
   reg add = 0, clr = 0;
   reg [3:0] ia = 0, ib = 0, ir = 0;
   reg [1:0] op = 0;
   reg [7:0] x = 0, w = 0, s = 0;
   wire put, busy;
   wire [3:0] pv, pw, acc;
   wire [7:0] r, sacc;
   wire [3:0] sum = ia + ib;
   wire [7:0] mr = op == 1 ? x + w : op == 2 ? x - w : 8'h0;
   `include "sim_check.vh"

   instructions ins(.m_clock(m_clock), .p_reset(p_reset), .a(ia), .b(ib), .add(add), .clr(clr),
                    .put(put), .pv(pv), .pw(pw), .acc(acc));
   top sub(.m_clock(m_clock), .p_reset(p_reset), .x(x), .w(w), .op(op), .r(r), .acc(sacc), .busy(busy));

   registers dut(.m_clock(m_clock), .p_reset(p_reset), .d(d), .en(en),
                 .qa(qa), .qb(qb), .qc(qc), .qn(qn), .qm(qm), .qp(qp));

   task compare;   // a and m have no reset: compared once the clock has written them
      begin
         if (cycles > 1) begin check("qa", qa, a); check("qm", qm, m); end
         check("qb", qb, b); check("qc", qc, c); check("qn", qn, n); check("qp", qp, p);
         check("put", put, add | clr); check("pv", pv, (add ? sum : 4'h0) | (clr ? ib : 4'h0));
         check("pw", pw, add ? ia ^ ib : 4'h0);   // the call from clr passes no second argument
         check("acc", acc, ir); check("r", r, mr); check("sacc", sacc, s);
         check("busy", busy, op == 3 || op == 0);
      end
   endtask

   initial begin
      #1 b = 0; c = 4'hf; n = 0; p = 4'hf;
      compare;
      repeat (400) begin
         cycles = cycles + 1;
         d = $random; en = $random;
         {add, clr, ia, ib} = $random; {op, x, w} = $random;
         p_reset = ($random & 15) != 0;
         #1 if (!p_reset) begin b = 0; c = 4'hf; n = 0; p = 4'hf; ir = 0; s = 0; end
         compare;                      // the reset acts at once
         rise;
         a = d;
         if (p_reset && en) begin b = b + d; c = c ^ d; end
         if (p_reset && !en) p = p - d;
         if (p_reset) begin
            if (clr) ir = 0;
            else if (add) ir = ir + ia;
            if (op == 3) s = s + x;
            else if (op == 0) s = s - w;
         end
         compare;
         fall;
         if (p_reset) n = n + 1;
         m = ~d;
         compare;
      end
      pass;
   end
endmodule
