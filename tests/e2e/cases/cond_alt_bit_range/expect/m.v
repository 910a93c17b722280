// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, y);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [1:0] y;
   reg [1:0] x;

   always @(posedge m_clock) begin
      if (((((a[3:0]==4'b0000))))) x <= y;
      else if ((((~((a[3:0]==4'b0000)))))) x <= 2'b11;
   end
endmodule
