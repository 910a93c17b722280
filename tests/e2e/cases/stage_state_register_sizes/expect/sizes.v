// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module sizes(m_clock, p_reset, o);
   input m_clock;
   input p_reset;
   output [2:0] o;
   wire _a_go;
   reg _a_on_reg;
   wire _a_on;
   wire _b_go;
   reg _b_on_reg;
   wire _b_on;
   wire _d_go;
   reg _d_on_reg;
   wire _d_on;
   wire _e_go;
   reg _e_on_reg;
   wire _e_on;
   reg _a_state;
   reg [1:0] _b_state;
   reg [1:0] _d_state;
   reg [2:0] _e_state;
   parameter
      _a_only = 1'd0;
   parameter [1:0]
      _b_b0 = 2'd0,
      _b_b1 = 2'd1,
      _b_b2 = 2'd2;
   parameter [1:0]
      _d_d0 = 2'd0,
      _d_d1 = 2'd1,
      _d_d2 = 2'd2,
      _d_d3 = 2'd3;
   parameter [2:0]
      _e_e0 = 3'd0,
      _e_e1 = 3'd1,
      _e_e2 = 3'd2,
      _e_e3 = 3'd3,
      _e_e4 = 3'd4;

   assign o = (((_a_on)&(_a_state == _a_only))?3'b001:3'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _a_on_reg <= 1'b0;
      else if (((_a_go))) _a_on_reg <= 1'b1;
   end

   assign _a_on = _a_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _b_on_reg <= 1'b0;
      else if (((_b_go))) _b_on_reg <= 1'b1;
   end

   assign _b_on = _b_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _d_on_reg <= 1'b0;
      else if (((_d_go))) _d_on_reg <= 1'b1;
   end

   assign _d_on = _d_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _e_on_reg <= 1'b0;
      else if (((_e_go))) _e_on_reg <= 1'b1;
   end

   assign _e_on = _e_on_reg;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _a_state <= _a_only;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _b_state <= _b_b1;
      else if (((_b_on)&(_b_state == _b_b0))) _b_state <= _b_b1;
      else if (((_b_on)&(_b_state == _b_b1))) _b_state <= _b_b2;
      else if (((_b_on)&(_b_state == _b_b2))) _b_state <= _b_b0;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _d_state <= _d_d3;
      else if (((_d_on)&(_d_state == _d_d3))) _d_state <= _d_d0;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _e_state <= _e_e0;
      else if (((_e_on)&(_e_state == _e_e4))) _e_state <= _e_e0;
   end
endmodule
