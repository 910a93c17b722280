// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, c, go, load, x);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input c;
   input go;
   input load;
   output [3:0] x;
   reg [3:0] r;
   wire _st_run;
   reg _st_on_reg;
   wire _st_on;
   reg _st_state;
   parameter
      _st_s1 = 1'd0,
      _st_s2 = 1'd1;

   assign x = (((go))?a:4'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 4'b0;
      else if ((((c))&(load))) r <= a;
      else if (((_st_on)&(_st_state == _st_s2)&(go))) r <= 4'h0;
   end

   assign _st_run = (((c)&(go))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _st_on_reg <= 1'b0;
      else if (((_st_run))) _st_on_reg <= 1'b1;
      else if (((_st_on)&(_st_state == _st_s2))) _st_on_reg <= 1'b0;
   end

   assign _st_on = _st_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _st_state <= _st_s1;
      else if (((_st_on)&(_st_state == _st_s1)&(load))) _st_state <= _st_s2;
      else if (((_st_on)&(_st_state == _st_s2)&(go))) _st_state <= _st_s1;
   end
endmodule
