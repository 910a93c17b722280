// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, c, d, o);
   input m_clock;
   input p_reset;
   input c;
   input d;
   output o;
   wire _s_t;
   reg _s_on_reg;
   wire _s_on;
   reg [1:0] _s_state;
   parameter [1:0]
      _s_a = 2'd0,
      _s_b = 2'd1,
      _s_e = 2'd2;

   assign o = (((_s_on)&(_s_state == _s_a))?1'b1:1'b0)|
   (((_s_on)&(_s_state == _s_b)&(~(c)))?1'b1:1'b0);

   assign _s_t = (((_s_on)&(_s_state == _s_e)&(~(d)))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _s_on_reg <= 1'b0;
      else if (((_s_t))) _s_on_reg <= 1'b1;
      else if (((_s_on)&(_s_state == _s_e)&(d))) _s_on_reg <= 1'b0;
      else if (((_s_on)&(_s_state == _s_e)&(~(d)))) _s_on_reg <= 1'b0;
   end

   assign _s_on = _s_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _s_state <= _s_a;
      else if (((_s_on)&(_s_state == _s_a)&(c))) _s_state <= _s_b;
      else if (((_s_on)&(_s_state == _s_a)&(~(c)))) _s_state <= _s_e;
      else if (((_s_on)&(_s_state == _s_b)&(c))) _s_state <= _s_a;
      else if (((_s_on)&(_s_state == _s_b)&(~(c)))) _s_state <= _s_e;
   end
endmodule
