// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, go, kick, wake, o);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input go;
   input kick;
   input wake;
   reg [3:0] x;
   reg y;
   output [3:0] o;
   wire _s_t1;
   wire _s_t2;
   reg _s_on_reg;
   wire _s_on;
   wire _q_run;
   reg _q_on_reg;
   wire _q_on;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) x <= 4'b0;
      else if (((go))) x <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) y <= 1'b0;
      else if (((go))) y <= 1'b1;
   end

   assign o = (((_s_on))?x:4'b0);

   assign _s_t1 = (((go))?1'b1:1'b0);

   assign _s_t2 = (((kick))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _s_on_reg <= 1'b0;
      else if (((wake))) _s_on_reg <= 1'b1;
      else if (((_s_t1|_s_t2))) _s_on_reg <= 1'b1;
      else if (((_s_on))) _s_on_reg <= 1'b0;
   end

   assign _s_on = (_s_on_reg|_s_t2);

   assign _q_run = (((kick))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _q_on_reg <= 1'b0;
      else if (((_q_run))) _q_on_reg <= 1'b1;
      else if (((_q_on))) _q_on_reg <= 1'b0;
   end

   assign _q_on = _q_on_reg;
endmodule
