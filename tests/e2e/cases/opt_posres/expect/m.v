// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, e);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input e;
   reg [3:0] r;
   reg [3:0] s;

   always @(negedge m_clock or posedge p_reset) begin
      if (p_reset)
        r <= 4'b0;
      else if (((e)))
        r <= (((e))?a:4'b0);
   end

   always @(posedge m_clock or posedge p_reset) begin
      if (p_reset)
        s <= 4'b1111;
      else
        s <= a;
   end
endmodule
