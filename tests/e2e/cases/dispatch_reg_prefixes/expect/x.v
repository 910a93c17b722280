// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a);
   input m_clock;
   input p_reset;
   input a;
   reg r;
   reg s;
   reg t;
   reg u;

   always @(negedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 1'b0;
      else r <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) s <= 1'b0;
      else s <= a;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) t <= 1'b1;
      else t <= a;
   end

   always @(negedge m_clock) begin
      u <= a;
   end
endmodule
