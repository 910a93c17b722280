// This file was translated at Mon Dec  7 20:19:23 2026
//  via sflc program written by kurotan
`define K 2'b01
`define K$1 2'b10

module m(m_clock, p_reset, a, d, go, o, x, y);
   input m_clock;
   input p_reset;
   input [1:0] a;
   input [7:0] d;
   input go;
   output [7:0] o;
   output [1:0] x;
   output [1:0] y;
   wire _keep_run;
   reg _keep_on_reg;
   wire _keep_on;
   reg [7:0] hist_0;
   reg [7:0] hist_1;
   reg [7:0] hist_2;
   reg [7:0] hist_3;
   wire [7:0] _hist_read0;

   assign o = _hist_read0;

   assign x = `K;

   assign y = `K$1;

   assign _keep_run = (((go))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _keep_on_reg <= 1'b0;
      else if (((_keep_run))) _keep_on_reg <= 1'b1;
      else if (((_keep_on))) _keep_on_reg <= 1'b0;
   end

   assign _keep_on = _keep_on_reg;

   always @(posedge m_clock) begin
      if (((_keep_on)&((a==2'd0)))) hist_0 <= d;
   end

   always @(posedge m_clock) begin
      if (((_keep_on)&((a==2'd1)))) hist_1 <= d;
   end

   always @(posedge m_clock) begin
      if (((_keep_on)&((a==2'd2)))) hist_2 <= d;
   end

   always @(posedge m_clock) begin
      if (((_keep_on)&((a==2'd3)))) hist_3 <= d;
   end

   assign _hist_read0 = ((a==2'd0)?hist_0:8'b0)|
   ((a==2'd1)?hist_1:8'b0)|
   ((a==2'd2)?hist_2:8'b0)|
   ((a==2'd3)?hist_3:8'b0);
endmodule
