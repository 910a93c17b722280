// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, v);
   input m_clock;
   input p_reset;
   input a;
   input [3:0] v;
   reg [3:0] rw;
   reg rs;

   always @(posedge m_clock or posedge p_reset) begin
      if (p_reset) rw <= 4'b0;
      else if (((a))) rw <= v;
   end

   always @(posedge m_clock or posedge p_reset) begin
      if (p_reset) rs <= 1'b1;
      else rs <= a;
   end
endmodule
