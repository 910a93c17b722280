// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, c, start, o);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input c;
   input start;
   reg [3:0] p;
   reg [3:0] q;
   output [3:0] o;
   wire _one_go;
   reg _one_on_reg;
   wire _one_on;
   wire _two_take;
   reg _two_on_reg;
   wire _two_on;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) p <= 4'b0;
      else if (((start))) p <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) q <= 4'b0;
      else if (((_one_on)&((c)))) q <= p;
      else if (((_one_on)&((~(c))))) q <= a;
   end

   assign o = (((_two_on))?q:4'b0);

   assign _one_go = (((start))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _one_on_reg <= 1'b0;
      else if (((_one_go))) _one_on_reg <= 1'b1;
      else if (((_one_on)&((c)))) _one_on_reg <= 1'b0;
      else if (((_one_on)&((~(c))))) _one_on_reg <= 1'b0;
   end

   assign _one_on = _one_on_reg;

   assign _two_take = (((_one_on)&((c)))?1'b1:1'b0)|
   (((_one_on)&((~(c))))?1'b1:1'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) _two_on_reg <= 1'b0;
      else if (((_two_take))) _two_on_reg <= 1'b1;
      else if (((_two_on))) _two_on_reg <= 1'b0;
   end

   assign _two_on = _two_on_reg;
endmodule
