// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;
   reg r;
   reg q;

   assign b = r;

   always @(posedge m_clock or posedge p_reset) begin
      if (p_reset) r <= 1'b0;
      else r <= a;
   end

   always @(posedge m_clock) begin
      q <= a;
   end
endmodule
