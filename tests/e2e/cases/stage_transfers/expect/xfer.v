// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module xfer(m_clock, p_reset, a, c, start, o);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input c;
   input start;
   reg [3:0] p;
   reg [3:0] q;
   reg [3:0] r;
   output [3:0] o;
   wire _one_go;
   reg _one_on_reg;
   wire _one_on;
   wire _two_take;
   wire _two_nop;
   reg _two_on_reg;
   wire _two_on;
   reg [1:0] _one_state;
   parameter [1:0]
      _one_s1 = 2'd0,
      _one_s2 = 2'd1,
      _one_s3 = 2'd2;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) p <= 4'b0;
      else if (((start))) p <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) q <= 4'b0;
      else if (((_one_on)&(_one_state == _one_s2))) q <= p;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 4'b0;
      else if (((_one_on)&(_one_state == _one_s2))) r <= a;
   end

   assign o = (((_one_on)&(_one_state == _one_s2))?p:4'b0)|
   (((_two_on))?(q+r):4'b0);

   assign _one_go = (((start))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _one_on_reg <= 1'b0;
      else if (((_one_go))) _one_on_reg <= 1'b1;
      else if (((_one_on)&(_one_state == _one_s3))) _one_on_reg <= 1'b0;
   end

   assign _one_on = _one_on_reg;

   assign _two_take = (((_one_on)&(_one_state == _one_s2))?1'b1:1'b0)|
   (((_two_on))?1'b1:1'b0);

   assign _two_nop = (((_one_on)&(_one_state == _one_s3))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _two_on_reg <= 1'b0;
      else if (((_two_take|_two_nop))) _two_on_reg <= 1'b1;
      else if (((_two_on)&(c))) _two_on_reg <= 1'b0;
   end

   assign _two_on = _two_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _one_state <= _one_s1;
      else if (((_one_on)&(_one_state == _one_s1)&(c))) _one_state <= _one_s2;
      else if (((_one_on)&(_one_state == _one_s1)&(~(c)))) _one_state <= _one_s3;
      else if (((_one_on)&(_one_state == _one_s2))) _one_state <= _one_s1;
   end
endmodule
