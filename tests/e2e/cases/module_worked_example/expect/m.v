// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input [7:0] a;
   output [7:0] b;
   reg [7:0] r;

   assign b = r;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 8'b0;
      else r <= a;
   end
endmodule
