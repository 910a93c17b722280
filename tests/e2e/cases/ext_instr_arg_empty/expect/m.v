// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a);
   input m_clock;
   input p_reset;
   input a;
   wire f;
   wire _u_d;
   wire _u_go;
   wire _u_stop;
   sub u(.m_clock(m_clock), .p_reset(p_reset), .d(_u_d), .go(_u_go), .stop(_u_stop));

   assign f = 1'b0;

   assign _u_d = a;

   assign _u_go = (((f))?1'b1:1'b0);

   assign _u_stop = 1'b1;
endmodule

module sub(m_clock, p_reset, d, go, stop);
   input m_clock;
   input p_reset;
   input d;
   input go;
   input stop;
   reg r;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 1'b0;
      else if (((go))) r <= 1'b1;
      else if (((stop))) r <= d;
   end
endmodule
